#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes data/world-50m.bin, the offline base map the console ships, from Natural Earth 1:50m
# as Debian's r-cran-rnaturalearthdata carries it. Needed only to remake the file, not to
# build: apt-get install r-cran-rnaturalearthdata
set -eu
here=$(dirname "$0")
exec Rscript "$here/make-map-data.R" "$here/world-50m.bin"
