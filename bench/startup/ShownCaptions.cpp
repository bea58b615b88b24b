#include "ShownCaptions.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace quenloft::bench {
namespace {

QRect inWindow(const QWidget &window, const QWidget &widget, const QRect &rect)
{
    return rect.translated(widget.mapTo(&window, QPoint(0, 0)));
}

void add(ShownText &shown, const QString &text, const QFont &font, const QRect &place,
         Qt::Alignment alignment)
{
    if (!text.isEmpty())
        shown.captions.append({text, font, place, alignment});
}

} // namespace

ShownText ShownTextOf(const QWidget &window)
{
    ShownText shown{window.size(), {}};
    const QList<QWidget *> widgets = window.findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        if (!widget->isVisible() || widget->visibleRegion().isEmpty())
            continue;
        const QFont font = widget->font();
        if (const auto *label = qobject_cast<const QLabel *>(widget)) {
            add(shown, label->text(), font, inWindow(window, *label, label->contentsRect()),
                label->alignment());
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
            add(shown, button->text(), font, inWindow(window, *button, button->rect()),
                Qt::AlignCenter);
        } else if (const auto *frame = qobject_cast<const QGroupBox *>(widget)) {
            add(shown, frame->title(), font, inWindow(window, *frame, frame->rect()),
                Qt::AlignLeft | Qt::AlignTop);
        } else if (const auto *box = qobject_cast<const QComboBox *>(widget)) {
            add(shown, box->currentText(), font, inWindow(window, *box, box->rect()),
                Qt::AlignLeft | Qt::AlignVCenter);
        } else if (const auto *line = qobject_cast<const QLineEdit *>(widget)) {
            add(shown, line->text(), font, inWindow(window, *line, line->rect()),
                line->alignment());
        } else if (const auto *list = qobject_cast<const QListWidget *>(widget)) {
            const QRect view = list->viewport()->rect();
            for (int row = 0; row < list->count(); ++row) {
                const QRect place = list->visualItemRect(list->item(row)) & view;
                if (!place.isEmpty())
                    add(shown, list->item(row)->text(), font,
                        inWindow(window, *list->viewport(), place),
                        Qt::AlignLeft | Qt::AlignVCenter);
            }
        }
    }
    return shown;
}

bool WriteShownText(const ShownText &text, const QString &path)
{
    QJsonArray captions;
    for (const ShownCaption &caption : text.captions) {
        captions.append(QJsonObject{{QStringLiteral("text"), caption.text},
                                    {QStringLiteral("font"), caption.font.toString()},
                                    {QStringLiteral("x"), caption.place.x()},
                                    {QStringLiteral("y"), caption.place.y()},
                                    {QStringLiteral("width"), caption.place.width()},
                                    {QStringLiteral("height"), caption.place.height()},
                                    {QStringLiteral("alignment"), int(caption.alignment)}});
    }
    const QJsonObject document{{QStringLiteral("width"), text.windowSize.width()},
                               {QStringLiteral("height"), text.windowSize.height()},
                               {QStringLiteral("captions"), captions}};
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(document).toJson()) > 0;
}

ShownText ReadShownText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject document = QJsonDocument::fromJson(file.readAll()).object();
    ShownText text{{document.value(QStringLiteral("width")).toInt(),
                    document.value(QStringLiteral("height")).toInt()},
                   {}};
    for (const QJsonValue &value : document.value(QStringLiteral("captions")).toArray()) {
        const QJsonObject caption = value.toObject();
        QFont font;
        (void)font.fromString(caption.value(QStringLiteral("font")).toString());
        text.captions.append({caption.value(QStringLiteral("text")).toString(), font,
                              QRect(caption.value(QStringLiteral("x")).toInt(),
                                    caption.value(QStringLiteral("y")).toInt(),
                                    caption.value(QStringLiteral("width")).toInt(),
                                    caption.value(QStringLiteral("height")).toInt()),
                              Qt::Alignment(caption.value(QStringLiteral("alignment")).toInt())});
    }
    return text;
}

void ShowAsLabels(const ShownText &text, QWidget &window)
{
    window.resize(text.windowSize);
    for (const ShownCaption &caption : text.captions) {
        auto *label = new QLabel(caption.text, &window);
        label->setTextFormat(Qt::PlainText);
        label->setFont(caption.font);
        label->setAlignment(caption.alignment);
        label->setGeometry(caption.place);
    }
}

} // namespace quenloft::bench
