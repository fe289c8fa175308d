#pragma once

#include <QString>

// Every message box and input box the user sees goes through this one service, so tests can
// answer questions and check the exact texts.
namespace shell {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Answer { Ok, Yes, No, Cancel };
enum class DefaultButton { First, Second };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message box; an empty title gives the program's title as its caption.
    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::None, const QString& title = {},
                           DefaultButton defaultButton = DefaultButton::First) = 0;
    // A modal input box; returns the typed text, or empty text on Cancel.
    virtual QString input(const QString& prompt, const QString& title,
                          const QString& defaultText) = 0;
};

// The service in force: the Qt implementation unless a test installed its own.
Dialogs& dialogs();
// Installs a replacement (not owned); nullptr restores the Qt implementation.
void installDialogs(Dialogs* replacement);

// "GRE Wordlist"
QString programTitle();
// "1.0.0" parts
int versionMajor();
int versionMinor();
int versionRevision();

} // namespace shell
