#pragma once
// One TCP connection to a host, used by the map's connectivity probe.
// Display-free and thread-safe: the probe threads call it.

// Sockets need no start-up on POSIX; kept so callers read as the design does.
// Always returns 1.
int EnsureWinsock();

// Connects an IPv4 stream socket to host:port and returns the connected file
// descriptor (the caller closes it), or -1. A null host means "127.0.0.1".
// The connect gives up after timeoutMs milliseconds (about 20 s by default),
// so a host that never answers cannot hold a probe for long.
int ConnectToHost(int port, const char* host, int timeoutMs = 20000);
