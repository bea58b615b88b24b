#include "app/column/ClickLabelAccessible.h"

#include "app/column/AccessibleField.h"
#include "app/column/ClickLabel.h"

#include <QAccessibleWidget>

namespace quenloft {
namespace {

class ClickLabelAccessible final : public QAccessibleWidget
{
public:
    explicit ClickLabelAccessible(ClickLabel *label)
        : QAccessibleWidget(label, label->accessibleRole())
    {
    }

    QAccessible::Role role() const override { return label()->accessibleRole(); }

    QString text(QAccessible::Text t) const override
    {
        const QLabel *caption = label()->fieldCaption();
        switch (t) {
        case QAccessible::Name:
            if (caption != nullptr)
                return FieldNameOf(caption);
            if (!label()->accessibleName().isEmpty())
                return label()->accessibleName();
            return QString(label()->text()).remove(u'&').trimmed();
        case QAccessible::Value:
            return caption != nullptr ? label()->text() : QString();
        case QAccessible::Description:
            // Screen readers speak the description but not every one reads a label's
            // value, so a field's value comes first in it.
            if (caption != nullptr && label()->accessibleDescription().isEmpty() &&
                !label()->text().isEmpty())
                return label()->text() + QStringLiteral(". ") + QAccessibleWidget::text(t);
            return QAccessibleWidget::text(t);
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto related = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Label) && label()->fieldCaption() != nullptr)
            related.append({QAccessible::queryAccessibleInterface(label()->fieldCaption()),
                            QAccessible::Label});
        return related;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (label()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            label()->click();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    ClickLabel *label() const { return static_cast<ClickLabel *>(widget()); }
};

QAccessibleInterface *clickLabelInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("quenloft::ClickLabel") && object != nullptr &&
        object->isWidgetType())
        return new ClickLabelAccessible(static_cast<ClickLabel *>(object));
    return nullptr;
}

} // namespace

void InstallClickLabelAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(clickLabelInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace quenloft
