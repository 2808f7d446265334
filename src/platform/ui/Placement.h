#pragma once

class QWidget;

namespace ui {

// Moves a window (its MDI frame when it has one) so that it stands centred on
// its owner's window, kept inside the MDI area or the owner's screen. Nothing
// happens without an owner.
void centreOnOwner(QWidget& window, QWidget* owner);

} // namespace ui
