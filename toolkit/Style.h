#pragma once
// The application's style: the platform's own, with the few standard icons that a widget asks
// for as it is built, but shows only now and then, made when they are first painted.

namespace Toolkit {

// A menu bar builds the icon of its overflow button in its constructor, and making that icon
// loads every image-format plugin (and their libraries) to learn a file's format: at start-up
// that is the largest cost the window adds to a bare one. Installed once, after the
// QApplication exists.
void useDeferredStandardIcons();

} // namespace Toolkit
