#!/bin/sh
# Runs one test process with a home and configuration folder of its own,
# empty when it starts and removed when it ends, so that no user's settings
# ever reach a test.
set -u
home=$(mktemp -d "${TMPDIR:-/tmp}/corvadel-test-home.XXXXXX") || exit 1
mkdir "$home/config"
HOME=$home XDG_CONFIG_HOME=$home/config "$@"
status=$?
rm -rf "$home"
exit $status
