#pragma once
// The window manager, modelled on the handheld's so the program's dialogs read as they were designed:
// a tree of windows with classes, ids, rectangles and texts; one message queue on the one user-interface
// thread; timers; painting into the one screen bitmap; modal dialogs with nested message loops; focus,
// keys and accelerators; full-screen dialogs under a navigation bar.
//
// One header per concern; this one includes them all, for callers that use several.

#include "platform/ui/dialogs.h"   // templates, dialog procedures, modal dialogs
#include "platform/ui/messages.h"  // the queue, message numbers, timers, accelerators, input
#include "platform/ui/painting.h"  // invalidation, paint messages, device contexts
#include "platform/ui/shell.h"     // full-screen dialogs, the input panel, activation
#include "platform/ui/windows.h"   // classes, the window tree, focus and capture
