// Every modal question the window asks goes through a Prompter, so tests can answer them.
// The program uses DialogPrompter: real message and input boxes titled "Quenloft".
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace quenloft {

enum class PromptIcon { Stop, Exclamation, Information };

// The answers to "Save changes to NAME?".
enum class SaveChoice { Save, Discard, Cancel };

// What a command that needs a selected run file says when none is selected.
inline const QString kSelectFileFirst = QStringLiteral("You must select a VEXA file first!");

class Prompter
{
public:
    virtual ~Prompter() = default;
    // A message box with an OK button. Texts use CR LF line breaks.
    virtual void message(QWidget *parent, const QString &text, PromptIcon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &text, PromptIcon icon,
                          bool yesIsDefault) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> input(QWidget *parent, const QString &prompt,
                                         const QString &initialText) = 0;
    // The question before unsaved changes would be dropped, with Save, Discard and Cancel.
    virtual SaveChoice askSaveChanges(QWidget *parent, const QString &text) = 0;
};

class DialogPrompter final : public Prompter
{
public:
    void message(QWidget *parent, const QString &text, PromptIcon icon) override;
    bool askYesNo(QWidget *parent, const QString &text, PromptIcon icon,
                  bool yesIsDefault) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt,
                                 const QString &initialText) override;
    SaveChoice askSaveChanges(QWidget *parent, const QString &text) override;
};

} // namespace quenloft
