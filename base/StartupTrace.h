// The start-up trace of the figures build (configured with -DRP_STARTUP_TRACE=ON): named moments of
// the program's start, each the time since its process was created, written once the printer's
// settings are on the pages of the shown frame (the first call of WriteStartupTrace, made where
// the last of the two happens) to the file that the environment variable RP_STARTUP_TRACE_FILE
// names. tools/startup-figures.sh reads it for the breakdown of where the start-up time goes. In
// every other build the marks are empty and compile to nothing.
#ifndef RP_BASE_STARTUPTRACE_H
#define RP_BASE_STARTUPTRACE_H

#ifdef RP_STARTUP_TRACE
void TraceStartup(const char* mark);
void WriteStartupTrace();
#else
inline void TraceStartup(const char*) {}
inline void WriteStartupTrace() {}
#endif

#endif
