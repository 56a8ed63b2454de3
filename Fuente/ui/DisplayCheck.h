#pragma once

// Whether anything the program shows can reach a person. Without a reachable display (a game
// launcher or a terminal over SSH without one) Qt would abort the whole program, also when the
// command line needs no window at all.
namespace DisplayCheck {

// Before the QApplication is made: where no platform was chosen (QT_QPA_PLATFORM), Qt tries the
// displays it finds and falls back to the offscreen platform instead of aborting.
void allowFallback();

// After: whether Qt fell back, that is no display could be reached. Also takes the fallback out
// of the environment again, so that the programs Vantor starts do not inherit it.
bool unreachable();

// Whether windows and boxes can be seen at all: not on the offscreen or minimal platform.
bool visible();

}  // namespace DisplayCheck
