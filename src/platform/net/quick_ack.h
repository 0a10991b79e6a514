#pragma once
// Acknowledging received bytes at once. A server that sends an answer in small pieces with
// Nagle's algorithm on (ser2net's accepters by default) holds every piece after the first until
// the first is acknowledged, and Linux delays that acknowledgement by up to 40 ms: more than the
// line time of a whole 350-byte block. gensio offers no option for it and does not hand out
// its socket, so the socket is found by its local port and set directly.
namespace mmx {

// The descriptor of this process's TCP socket from localPort to remotePort, or -1.
int findConnectedSocket(unsigned localPort, unsigned remotePort);

// Acknowledges what has arrived on the socket now instead of after the delayed-ACK timer.
// Linux clears the request after a few segments, so it is made after every receipt.
void acknowledgeNow(int socket);

}  // namespace mmx
