// The shared library is the streamnet_core archive linked whole; this file
// only gives the target a source of its own.
