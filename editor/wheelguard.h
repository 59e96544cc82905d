#pragma once
// Lists and number boxes take the mouse wheel only once the user has given them keyboard focus (a
// click or Tab). Without it the wheel belongs to what scrolls around them (the page, the grid), so
// scrolling a long page over a list never changes the list.
class QWidget;

namespace tarvena::editor {

void takeWheelOnlyWithFocus(QWidget *control);

} // namespace tarvena::editor
