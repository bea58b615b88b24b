// What screen readers hear of a ClickLabel: a field's value under the field's name, or a
// link or switch under its own, and a press action that clicks it.
#pragma once

namespace quenloft {

// Makes screen readers use the ClickLabel interface; once is enough, later calls do
// nothing.
void InstallClickLabelAccessible();

} // namespace quenloft
