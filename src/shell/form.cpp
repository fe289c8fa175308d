#include "shell/form.h"

#include "shell/windowregistry.h"

#include <QCloseEvent>

namespace shell {

Form::Form(WindowKind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {}

Form::~Form() {
    registry().windowDestroyed(this);
}

void Form::closeEvent(QCloseEvent* event) {
    registry().windowClosedByUser(this);
    event->accept();
}

} // namespace shell
