#pragma once

// Every message box and input box of the core goes through this interface: the
// windows implement it with Qt dialogs, the command line with standard error,
// and the tests with a recorder that answers from a script.

#include <QString>

namespace velmar {

// Message box styles, as numbered throughout the program.
namespace MessageStyle {
constexpr int Plain = 0;        // OK only
constexpr int Critical = 16;    // before the program ends, or a broken data file
constexpr int Question = 36;    // Yes / No; every confirmation
constexpr int Exclamation = 48; // refused commands, missing items
constexpr int Information = 64; // completed operations
} // namespace MessageStyle

// Buttons a message box returns.
namespace MessageAnswer {
constexpr int Ok = 1;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MessageAnswer

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows `text` with the application title; returns the button pressed.
    virtual int message(const QString& text, int style) = 0;
    // Returns the text typed, or "" when the box was cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& proposal) = 0;
    // The file the user chooses to write, "" when cancelled; `filters` as Qt's
    // file dialogs take them: "CSV (*.csv);;JSON (*.json)".
    virtual QString saveFileName(const QString& title, const QString& proposal, const QString& filters) = 0;
};

// The application title every message box carries.
QString applicationTitle();

// The implementation in use; a silent one that answers No until one is installed.
Dialogs& dialogs();
void installDialogs(Dialogs* implementation);

} // namespace velmar
