// Screen-reader names for the vehicle-data fields, taken from their caption labels.
#pragma once

#include <QString>

class QLabel;

namespace quenloft {

class ClickLabel;
class FieldEditor;

// The name a caption gives its field: "Vehicle Weight:" names "Vehicle Weight". Empty
// without a caption.
[[nodiscard]] QString FieldNameOf(const QLabel *caption);

// Names a field's display label and editor by its caption, which becomes the editor's
// label (buddy). Both are described by their tool tip, which gives the field's range.
void NameField(QLabel *caption, ClickLabel *display, FieldEditor *editor);

} // namespace quenloft
