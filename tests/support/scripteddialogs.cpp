#include "support/scripteddialogs.h"

namespace testsupport {

namespace {

bool fits(shell::Answer answer, shell::Buttons buttons) {
    if (buttons == shell::Buttons::YesNo)
        return answer == shell::Answer::Yes || answer == shell::Answer::No;
    return answer == shell::Answer::Ok;
}

} // namespace

shell::Answer ScriptedDialogs::message(const QString& text, shell::Buttons buttons,
                                       shell::Icon icon, const QString& title,
                                       shell::DefaultButton defaultButton) {
    DialogCall call;
    call.kind = DialogCall::Kind::Message;
    call.text = text;
    call.buttons = buttons;
    call.icon = icon;
    call.title = title;
    call.defaultButton = defaultButton;
    m_calls.append(call);
    if (onShow)
        onShow(call);

    const shell::Answer fallback =
        buttons == shell::Buttons::YesNo ? shell::Answer::No : shell::Answer::Ok;
    if (m_answers.isEmpty()) {
        m_failures.append(QStringLiteral("unexpected message box: \"%1\"").arg(text));
        return fallback;
    }
    const shell::Answer answer = m_answers.dequeue();
    if (!fits(answer, buttons)) {
        m_failures.append(
            QStringLiteral("queued answer does not fit the buttons of \"%1\"").arg(text));
        return fallback;
    }
    return answer;
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title,
                               const QString& defaultText) {
    DialogCall call;
    call.kind = DialogCall::Kind::Input;
    call.text = prompt;
    call.title = title;
    call.defaultText = defaultText;
    m_calls.append(call);
    if (onShow)
        onShow(call);

    if (m_inputs.isEmpty()) {
        m_failures.append(QStringLiteral("unexpected input box: \"%1\"").arg(prompt));
        return {};
    }
    return m_inputs.dequeue();
}

QStringList ScriptedDialogs::texts() const {
    QStringList result;
    for (const DialogCall& call : m_calls)
        result.append(call.text);
    return result;
}

void ScriptedDialogs::clear() {
    m_calls.clear();
    m_answers.clear();
    m_inputs.clear();
    m_failures.clear();
}

} // namespace testsupport
