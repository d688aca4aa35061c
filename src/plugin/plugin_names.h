// The names the plug-in gives itself: to the host (nbInitPlugIn) and in the
// DLL's version resource (version.rc.in). Macros only: the resource compiler
// reads this file too.
#ifndef KV_PLUGIN_NAMES_H
#define KV_PLUGIN_NAMES_H

#define KV_PLUGIN_NAME "Kelvane 1.0b"
#define KV_PLUGIN_AUTHOR "The Kelvane developers"

#endif
