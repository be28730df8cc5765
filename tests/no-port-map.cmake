# Read by ctest before any test runs: no test may ask a router on this
# machine's own network to open a port (NAT-PMP and SSDP go to the local
# network). Every program of the game honours this one switch; only the
# router tests inside private network namespaces clear it.
set(ENV{TILECREST_NO_PORT_MAP} 1)
