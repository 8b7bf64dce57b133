// Preloaded into the program by tools/run when it serves VNC: Qt's VNC platform listens on
// every interface, so a bind() of the VNC port to the wildcard address is kept on loopback.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <netinet/in.h>
#include <string.h>
#include <sys/socket.h>

#define VNC_PORT 5900

int bind(int fd, const struct sockaddr *addr, socklen_t len) {
  static int (*next)(int, const struct sockaddr *, socklen_t);
  if (next == NULL) next = (int (*)(int, const struct sockaddr *, socklen_t))dlsym(RTLD_NEXT, "bind");
  if (addr != NULL && addr->sa_family == AF_INET && len >= sizeof(struct sockaddr_in)) {
    struct sockaddr_in a;
    memcpy(&a, addr, sizeof a);
    if (a.sin_addr.s_addr == htonl(INADDR_ANY) && ntohs(a.sin_port) == VNC_PORT) {
      a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      return next(fd, (const struct sockaddr *)&a, sizeof a);
    }
  } else if (addr != NULL && addr->sa_family == AF_INET6 && len >= sizeof(struct sockaddr_in6)) {
    struct sockaddr_in6 a;
    memcpy(&a, addr, sizeof a);
    if (IN6_IS_ADDR_UNSPECIFIED(&a.sin6_addr) && ntohs(a.sin6_port) == VNC_PORT) {
      int nur6 = 1;
      socklen_t l = sizeof nur6;
      if (getsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &nur6, &l) != 0) nur6 = 1;
      if (nur6) {
        a.sin6_addr = in6addr_loopback;
      } else {
        static const unsigned char v4lo[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 127, 0, 0, 1};
        memcpy(&a.sin6_addr, v4lo, sizeof v4lo);
      }
      return next(fd, (const struct sockaddr *)&a, sizeof a);
    }
  }
  return next(fd, addr, len);
}
