#pragma once

#include "shell/dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>

namespace testsupport {

// One message box or input box the program asked for.
struct DialogCall {
    enum class Kind { Message, Input };
    Kind kind = Kind::Message;
    QString text; // the message, or the input box's prompt
    shell::Buttons buttons = shell::Buttons::Ok;
    shell::Icon icon = shell::Icon::None;
    QString title;
    shell::DefaultButton defaultButton = shell::DefaultButton::First;
    QString defaultText; // input boxes only
};

// The dialog service for tests: records every box in order and answers from queues, never
// blocking. A box nobody queued an answer for is recorded as a failure and answered with
// No (Yes/No), Ok, or empty text.
class ScriptedDialogs : public shell::Dialogs {
public:
    shell::Answer message(const QString& text, shell::Buttons buttons, shell::Icon icon,
                          const QString& title, shell::DefaultButton defaultButton) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;

    void queueAnswer(shell::Answer answer) { m_answers.enqueue(answer); }
    void queueInput(const QString& text) { m_inputs.enqueue(text); }

    const QList<DialogCall>& calls() const { return m_calls; }
    QStringList texts() const;
    const QStringList& failures() const { return m_failures; }
    // Queued answers and inputs nobody asked for.
    int unusedAnswers() const { return int(m_answers.size() + m_inputs.size()); }
    void clear();

    // Runs while a box is "open", after it is recorded (e.g. to check the state behind it).
    std::function<void(const DialogCall&)> onShow;

private:
    QList<DialogCall> m_calls;
    QQueue<shell::Answer> m_answers;
    QQueue<QString> m_inputs;
    QStringList m_failures;
};

} // namespace testsupport
