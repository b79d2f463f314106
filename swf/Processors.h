#pragma once

namespace swf {

// How many processors this process may run on: its affinity mask where the system tells,
// else the processors of the machine; at least 1. A process confined to two processors of a
// large machine (a container, taskset) gains nothing from more threads than that.
unsigned UsableProcessors();

} // namespace swf
