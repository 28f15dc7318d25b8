#include "support/scripted_dialogs.h"

namespace velmar::test {

int ScriptedDialogs::message(const QString& text, int style) {
    m_messages.append({text, style});
    if (style != MessageStyle::Question)
        return MessageAnswer::Ok;
    return m_answers.isEmpty() ? MessageAnswer::No : m_answers.takeFirst();
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString&, const QString&) {
    m_prompts << prompt;
    return m_inputs.isEmpty() ? QString() : m_inputs.takeFirst();
}

QStringList ScriptedDialogs::messageTexts() const {
    QStringList texts;
    for (const RecordedMessage& m : m_messages)
        texts << m.text;
    return texts;
}

} // namespace velmar::test
