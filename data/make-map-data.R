# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the console's offline base map from Natural Earth's 1:50m countries and coastline
# (public domain), as Debian's r-cran-rnaturalearthdata publishes them.
#
# The file, little-endian throughout:
#   "TSLMAP01"                                  magic and version
#   uint32 shape count, then each shape:
#     uint8 layer (0: a country, filled as land, its outline a border; 1: a coastline)
#     uint32 ring count, then each ring: uint32 point count, then int32 x, int32 y per point
# x and y are Web Mercator (EPSG:3857) coordinates scaled to the world's width: 0 at
# 180 degrees west and the north edge (85.0511 degrees), 2^24 at the other edges, so one unit
# is one pixel at zoom 16. Consecutive points that fall on the same unit at zoom 13 are merged.
suppressMessages(library(sp))
args <- commandArgs(trailingOnly = TRUE)
out <- if (length(args) > 0) args[1] else "world-50m.bin"

scale <- 2^24
keep <- 2^(24 - 13) # the grid points are merged on
mercator <- function(xy) {
  lon <- pmin(pmax(xy[, 1], -180), 180)
  lat <- pmin(pmax(xy[, 2], -85.0511287798), 85.0511287798)
  x <- (lon + 180) / 360
  s <- sin(lat * pi / 180)
  y <- 0.5 - log((1 + s) / (1 - s)) / (4 * pi)
  cbind(round(x * scale), round(y * scale))
}
thin <- function(p) {
  g <- cbind(p[, 1] %/% keep, p[, 2] %/% keep)
  n <- nrow(g)
  if (n < 3) return(p)
  same <- c(FALSE, g[-1, 1] == g[-n, 1] & g[-1, 2] == g[-n, 2])
  same[n] <- FALSE # a ring keeps its closing point
  p[!same, , drop = FALSE]
}

con <- file(out, "wb")
writeChar("TSLMAP01", con, eos = NULL)
shapes <- list()
data(countries50, package = "rnaturalearthdata")
for (country in countries50@polygons) {
  rings <- lapply(country@Polygons, function(r) thin(mercator(r@coords)))
  shapes[[length(shapes) + 1]] <- list(layer = 0L, rings = rings)
}
data(coastline50, package = "rnaturalearthdata")
for (line in coastline50@lines) {
  rings <- lapply(line@Lines, function(l) thin(mercator(l@coords)))
  shapes[[length(shapes) + 1]] <- list(layer = 1L, rings = rings)
}
writeBin(length(shapes), con, size = 4, endian = "little")
points <- 0
for (s in shapes) {
  writeBin(as.raw(s$layer), con)
  writeBin(length(s$rings), con, size = 4, endian = "little")
  for (r in s$rings) {
    writeBin(nrow(r), con, size = 4, endian = "little")
    writeBin(as.integer(as.vector(t(r))), con, size = 4, endian = "little")
    points <- points + nrow(r)
  }
}
close(con)
cat(sprintf("%s: %d shapes, %d points\n", out, length(shapes), points))
