#!/bin/sh
# Runs a command in a network namespace of its own with loopback only, where
# knxd may join its multicast group without reaching any network: the KNX
# integration tests and benchmarks run this way. Fails with unshare's reason
# when the namespace cannot be made (it needs root or user namespaces).
exec unshare --net sh -c 'ip link set lo up && ip route add 224.0.0.0/4 dev lo src 127.0.0.1 && exec "$@"' sh "$@"
