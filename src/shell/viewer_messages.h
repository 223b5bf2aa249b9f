// For a viewer who double-clicked a windowed program, which has no console:
// what it prints before its show begins (a bad option, a screen that cannot
// open, a data folder or music it cannot find) is held and then shown in a
// message box, where standard output and error would otherwise go nowhere.
// Streams that reach a console, a file or a pipe stay as they are. One
// version per platform; only Windows has programs without a console.
#pragma once

// Sends the streams that go nowhere to a place where they are held. Called
// after useStartingConsole, before anything is printed. When the program
// ends before showHeldMessages, what was held is shown then.
void holdMessagesForViewer();

// Shows what was held so far in a message box, if anything, and sends the
// streams on to nowhere, where the frame rate printed at the end goes.
// dataMissing adds what to do when the program was copied out of its folder.
// True when a box was shown: it waits for the viewer, with the music paused.
bool showHeldMessages(bool dataMissing);
