#pragma once

namespace velantor {

// Once a window shown over another one (a dialog, a message box, a progress window) is
// hidden and no window is left active, the window it was shown over, or the modal window
// still open, becomes the active one again, so that the keyboard goes on where the user
// was. Window managers usually do this themselves; where none does (an X server without
// one, the offscreen platform) the keys would otherwise reach no window. Installed once
// for the application; further calls do nothing.
void keepActivationWithOwners();

} // namespace velantor
