# The README a package installs may point only at what the package ships: no screenshots from
# docs/, no scripts/ of the source tree, no links to files beside it.
# cmake -DREADME=FILE -P check_installed_readme.cmake
file(READ ${README} text)
string(REGEX MATCHALL "docs/[^ )`]*|scripts/[^ )`]*|\\]\\([^)h#][^)]*\\)" missing "${text}")
if(missing)
  message(FATAL_ERROR "${README} points at files the package does not ship: ${missing}")
endif()
