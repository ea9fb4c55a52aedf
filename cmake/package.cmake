# `cpack -G DEB` in the build folder: the install layout under /usr as one
# Debian package, versioned by project(VERSION), as Debian's policy asks it
# (tests/programs/package.sh runs lintian on it). The programs need only the
# C and C++ libraries; the tools need Python and GNU parallel,
# their plots matplotlib, and sweeps over machines rsync and ssh.
set(CPACK_PACKAGE_NAME genetic-search)
set(CPACK_PACKAGE_CONTACT "Genetic search maintainers <maintainers@genetic-search.example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "optimisation with a binary-coded genetic algorithm")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Three console programs share one evolution engine: tarsel and tarnox
search an interval for the greatest value of x*x*x - 4*x, with uniform and
with one-point crossover, and sakora solves a 0/1 knapsack problem read
from a file. They seed a fixed random generator, so the same input gives
the same output on every machine.

genetic-sweep runs the programs over a grid of settings with GNU parallel,
on this machine or on many; plot-analiza draws how a run converges, and
plot-stats the statistics of every generation that the programs record on
request.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, with the versions their symbols need, as
# dpkg-shlibdeps (Debian package dpkg-dev) finds them; without it, unversioned.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3, parallel")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6, python3, parallel")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3-matplotlib, rsync, openssh-client")
set(CPACK_STRIP_FILES ON)

# A native package's changelog, compressed, in its documentation folder.
set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/debian/changelog ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/debian/changelog VERBATIM)
add_custom_target(changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${doc_dir})
include(CPack)
