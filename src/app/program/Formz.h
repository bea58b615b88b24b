// Window placement: remembers where a window was, in twips, and puts it back there on the
// next start; a window without a usable stored position is centred on the work area.
// Values live in the "WindowPosition" section under the window's object name followed by
// "_Left", "_Top" and, for a window the user can resize, "_Width" and "_Height".
#pragma once

#include <QtGlobal>

class QWidget;

namespace quenloft {

class Preferences;

// The desktop area not covered by panels and docks, in twips; Right and Bottom are the
// coordinates of the far edges, not a width and height.
struct WorkArea
{
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;
};

// The primary screen's available area, each edge rounded to whole twips (halves to even).
[[nodiscard]] WorkArea GetWorkAreaTwips();

// Stores the placement of a window in its normal state; a minimized, maximized or
// full-screen window stores nothing, so the earlier values stay.
void SaveFormPosition(const QWidget &form, Preferences &store);

// Moves the window to its stored place, or centres it when a value is missing, not a
// number, zero or negative, or when the place would leave the window off every screen.
// A resizable window also gets its stored size back.
void RestoreFormPosition(QWidget &form, const Preferences &store);

// Centres the window on the work area, keeping its size; an edge that would come out
// negative is put at 0.
void CenterForm(QWidget &form);

} // namespace quenloft
