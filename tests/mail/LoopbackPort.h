#pragma once
// A loopback port where nothing listens: the system hands out a free one, which is closed again
// at once, so that a server started next can take it (or a client finds it refused).

namespace vellum::test {

int freeLoopbackPort();

// Something listens on the loopback port and takes a connection.
bool acceptsConnections(int port);

} // namespace vellum::test
