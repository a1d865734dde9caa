// Where windows open on the screens: the main window at start-up and the child
// windows that have no placement of their own. The rules are pure functions of
// rectangles (the screens' available areas, without panels and docks), so that
// they hold on any desktop and are tested without one.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace phonotab {

// The height above a window's rectangle that the window manager's title bar
// takes; a window whose title bar cannot be reached cannot be moved.
inline constexpr int kTitleBarAllowance = 32;

// Whether the user can take hold of the window: its title bar, the strip of
// kTitleBarAllowance above the rectangle, shows on one of the screens at
// least 80 pixels wide (the whole width for a narrower window) and half its
// height.
bool titleBarReachable(const QRect& window, const QList<QRect>& screens);

// The main window's rectangle at start-up. Without a stored placement: centred
// on the primary screen at about three quarters of its width and height, never
// smaller than `minimum` nor (where the screen allows it) larger than the
// screen. A stored rectangle is widened and heightened to `minimum` and kept
// where it is while its title bar is reachable; otherwise it is brought back,
// centred on the primary screen with its size cut to the screen.
QRect mainWindowRect(const std::optional<QRect>& stored, const QSize& minimum, const QList<QRect>& screens,
                     const QRect& primary);

// The distance between two cascaded windows, across and down.
inline constexpr int kCascadeStep = 30;

// The top-left corner of the n-th (from 0) child window without a placement of
// its own: kCascadeStep × (n + 1) right of and below the main window's corner
// `anchor`, starting over from the first place once the window of `size` would
// leave the screen's area `available`. The anchor is first moved inside the area
// (with room for the title bar); a window larger than the area goes to its
// top-left corner.
QPoint cascadePosition(const QPoint& anchor, int n, const QSize& size, const QRect& available);

// The available areas of the screens, and of the primary one.
QList<QRect> availableScreenAreas();
QRect primaryScreenArea();

}  // namespace phonotab
