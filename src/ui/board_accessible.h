// What assistive technology reads of the board: a table of its holes, each place a cell.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace marvolen::ui {

/// The accessibility factory of the board surface: the board as a table whose cells are its
/// holes, read by row and column, the cursor's place focused and a lifted marble's selected.
/// Answers nothing for any other object.
QAccessibleInterface* boardAccessible(const QString& className, QObject* object);

} // namespace marvolen::ui
