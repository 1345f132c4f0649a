#pragma once
// A timed wait on a waitable timer, optionally keeping the thread's window
// messages flowing.
namespace orv {

void Wait(int milliseconds, bool processMessages = false);

}  // namespace orv
