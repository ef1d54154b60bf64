// Whether the machine has processors to spare for a worker pool's helpers.
#pragma once

namespace vybase {

// True while the threads runnable on the machine (others than the caller,
// averaged over the last second or so) are fewer than its processors. On a
// machine busier than that, woken helpers queue behind other threads and
// the hand-over of a frame's work costs more than they bring: the caller
// does the work alone. The load is read at most four times a second.
bool spare_processors();

// Tests: every answer true from now on, so that shared passes run on any
// machine, however busy.
void assume_spare_processors();

}  // namespace vybase
