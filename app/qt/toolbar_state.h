#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QSettings;

// The toolbar layout the profile keeps: QMainWindow's state bytes, with the layout version and a
// checksum beside them.

// Bumped whenever the toolbars change, so that an older layout is not restored onto them.
inline constexpr int kToolBarStateVersion = 1;

// The object name of a toolbar, by which the state finds it again.
QString ToolBarObjectName(int resource);

// The state bytes the profile holds, whatever they are; empty without any.
QByteArray StoredToolBarState(const QSettings& profile);
// Keeps state in the profile as this layout version, with its checksum.
void StoreToolBarState(QSettings& profile, const QByteArray& state);

// Whether state has the shape QMainWindow::saveState gives the main frame: no dock widget, each
// of the frame's toolbars at most once, in rows of the four sides, and values of a real window,
// all in a few KB. Qt's restoreState believes every count it reads (a 50-byte value can keep it
// busy for hours), so only state of this shape is handed to it.
bool ToolBarStateHasSavedShape(const QByteArray& state);

// The stored state when the frame may restore it: written as this layout version, unchanged
// since (the checksum shows accidental damage, not a hostile value, since whoever can write the
// profile can write the checksum too), and of the saved shape. nullopt otherwise.
std::optional<QByteArray> RestorableToolBarState(const QSettings& profile);
