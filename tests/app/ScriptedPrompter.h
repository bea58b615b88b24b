// Answers the window's prompts in tests: records every message and question, and answers
// questions, input boxes and the unsaved-changes question from queues (No and Cancel once
// they run out).
#pragma once

#include "app/program/Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quenloft::testing {

struct Prompt
{
    enum Kind { Message, Question, Input } kind;
    QString text;
    PromptIcon icon = PromptIcon::Information;
};

class ScriptedPrompter final : public Prompter
{
public:
    // Shared with the test, which keeps reading it after the window owns the prompter.
    struct Script
    {
        QList<Prompt> prompts;
        QList<bool> answers;
        QList<std::optional<QString>> inputs;
        QList<SaveChoice> saveChoices;  // Cancel once they run out
        std::function<void()> onPrompt; // runs inside each prompt, as a modal loop would

        [[nodiscard]] QStringList messages() const
        {
            QStringList texts;
            for (const Prompt &p : prompts)
                texts.append(p.text);
            return texts;
        }
    };

    explicit ScriptedPrompter(Script &script) : m_script(script) {}

    void message(QWidget *, const QString &text, PromptIcon icon) override
    {
        record({Prompt::Message, text, icon});
    }
    bool askYesNo(QWidget *, const QString &text, PromptIcon icon, bool) override
    {
        record({Prompt::Question, text, icon});
        return m_script.answers.isEmpty() ? false : m_script.answers.takeFirst();
    }
    std::optional<QString> input(QWidget *, const QString &prompt, const QString &) override
    {
        record({Prompt::Input, prompt, PromptIcon::Information});
        return m_script.inputs.isEmpty() ? std::nullopt : m_script.inputs.takeFirst();
    }

    SaveChoice askSaveChanges(QWidget *, const QString &text) override
    {
        record({Prompt::Question, text, PromptIcon::Exclamation});
        return m_script.saveChoices.isEmpty() ? SaveChoice::Cancel
                                              : m_script.saveChoices.takeFirst();
    }

private:
    void record(const Prompt &prompt)
    {
        m_script.prompts.append(prompt);
        if (m_script.onPrompt)
            m_script.onPrompt();
    }

    Script &m_script;
};

} // namespace quenloft::testing
