#include "support/countingform.h"

#include "shell/windowregistry.h"

namespace testsupport {

CountingForm::CountingForm(shell::WindowKind kind, FormLog* log, bool maximized)
    : shell::Form(kind), m_log(log), m_maximized(maximized) {
    setObjectName(QStringLiteral("CountingForm"));
    ++m_log->created;
}

CountingForm::~CountingForm() {
    ++m_log->destroyed;
}

void CountingForm::Form_Load() {
    ++m_log->loads;
    if (m_log->onLoad)
        m_log->onLoad(this);
}

void CountingForm::Form_Unload() {
    ++m_log->unloads;
    if (m_log->onUnload)
        m_log->onUnload(this);
}

void registerCountingForm(shell::WindowKind kind, FormLog* log, bool maximized) {
    shell::registry().registerKind(
        kind, [kind, log, maximized] { return new CountingForm(kind, log, maximized); });
}

} // namespace testsupport
