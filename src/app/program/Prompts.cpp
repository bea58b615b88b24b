#include "app/program/Prompts.h"

#include <QInputDialog>
#include <QMessageBox>

namespace quenloft {
namespace {

const QString kTitle = QStringLiteral("Quenloft");

QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Stop:
        return QMessageBox::Critical;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

QString forDisplay(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

void DialogPrompter::message(QWidget *parent, const QString &text, PromptIcon icon)
{
    QMessageBox box(boxIcon(icon), kTitle, forDisplay(text), QMessageBox::Ok, parent);
    box.exec();
}

bool DialogPrompter::askYesNo(QWidget *parent, const QString &text, PromptIcon icon,
                              bool yesIsDefault)
{
    QMessageBox box(boxIcon(icon), kTitle, forDisplay(text), QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DialogPrompter::input(QWidget *parent, const QString &prompt,
                                             const QString &initialText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, kTitle, prompt, QLineEdit::Normal, initialText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

SaveChoice DialogPrompter::askSaveChanges(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, kTitle, forDisplay(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

} // namespace quenloft
