#pragma once

// `plughost editor`: shows a bundle's editor in a window of its own, plays pointer input into
// it, writes a screenshot and prints the edits the plug-in reports. argv[0] is the command's
// own name ("editor"); its arguments follow. Returns the process's exit status: 0 done,
// 1 failed (the reason on stderr), 2 unusable arguments.
int RunEditorCommand(int argc, char** argv);
