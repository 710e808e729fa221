#pragma once

//! Prints "idle" on standard output the first time the event loop is about to wait for events
//! with every visible top-level window exposed (mapped and painted), then waits for a line on
//! standard input (the start-up benchmark reads the process's memory meanwhile) and ends the
//! event loop. Both start-up programs of the benchmark call it just after making their
//! QApplication, so both are measured to the same moment.
void ReportFirstIdle();
