#include "app/column/AccessibleField.h"

#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"

#include <QLabel>

namespace quenloft {

QString FieldNameOf(const QLabel *caption)
{
    if (caption == nullptr)
        return {};
    QString name = caption->text().trimmed();
    name.remove(u'&');
    if (name.endsWith(u':'))
        name.chop(1);
    return name.trimmed();
}

void NameField(QLabel *caption, ClickLabel *display, FieldEditor *editor)
{
    caption->setBuddy(editor);
    display->setFieldCaption(caption);
    editor->setFieldCaption(caption);
}

} // namespace quenloft
