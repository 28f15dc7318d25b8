#pragma once

// A Dialogs double for the tests: records every message and input box, and
// answers from a script (Yes/No for questions, texts for input boxes). An
// unscripted question is answered No and an unscripted input box cancelled.

#include "app/dialogs.h"

#include <QList>
#include <QStringList>

namespace velmar::test {

struct RecordedMessage {
    QString text;
    int style;
};

class ScriptedDialogs final : public Dialogs {
public:
    ScriptedDialogs() { installDialogs(this); }
    ~ScriptedDialogs() override { installDialogs(nullptr); }

    int message(const QString& text, int style) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& proposal) override;
    // Answered like an input box: the next scripted input, "" when none is left.
    QString saveFileName(const QString& title, const QString& proposal, const QString&) override {
        return inputBox(title, QString(), proposal);
    }

    void answerQuestions(std::initializer_list<int> answers) { m_answers.append(answers); }
    void answerInputs(const QStringList& inputs) { m_inputs.append(inputs); }

    const QList<RecordedMessage>& messages() const { return m_messages; }
    QStringList messageTexts() const;
    const QStringList& prompts() const { return m_prompts; }
    void clear() {
        m_messages.clear();
        m_prompts.clear();
    }

private:
    QList<RecordedMessage> m_messages;
    QStringList m_prompts;
    QList<int> m_answers;
    QStringList m_inputs;
};

} // namespace velmar::test
