// Start-up timeline marks. They cost nothing in the program; the benchmark
// builds the modules with VEXLO_TIMELINE and records when each step ends.
#pragma once

#ifdef VEXLO_TIMELINE
void TimelineMark(const char* step);
#else
inline void TimelineMark(const char*) {}
#endif
