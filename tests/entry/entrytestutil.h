#pragma once

#include "entry/word_adder.h"
#include "shell/windowregistry.h"
#include "support/shellharness.h"
#include "support/testdatabase.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QtTest>
#include <memory>

// A fresh word file and the program's services in test mode, with the word entry window
// registered as the program registers it.
struct EntryFixture {
    std::unique_ptr<testsupport::TestDatabase> db;
    std::unique_ptr<testsupport::ShellHarness> harness;

    void setUp() {
        db = std::make_unique<testsupport::TestDatabase>();
        harness = std::make_unique<testsupport::ShellHarness>();
        shell::registry().registerKind(shell::WindowKind::WordAdder, [] { return new word_adder; });
    }
    void tearDown() {
        harness.reset();
        shell::registry().registerKind(shell::WindowKind::WordAdder, {});
        db.reset();
    }

    // Opens the window as the main menu does (loaded, shown not modal).
    word_adder* open() {
        shell::registry().show(shell::WindowKind::WordAdder);
        return current();
    }
    static word_adder* current() {
        return shell::registry().windowAs<word_adder>(shell::WindowKind::WordAdder);
    }
};

template <class T> T* control(QWidget* window, const char* name) {
    T* widget = window->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no control %s", name);
    return widget;
}

inline void click(QWidget* window, const char* name) {
    QTest::mouseClick(control<QWidget>(window, name), Qt::LeftButton);
}

inline QString dataCaption(QWidget* window) {
    return control<QLabel>(window, "caption")->text();
}
