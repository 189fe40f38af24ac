// Compiled by the LayerIncludes tests against one layer's library with a header of a
// layer above it: the build must refuse it (the header is not on that layer's path).
#include ZD8_UPWARD_HEADER

int zd8UpwardIncludeCompiled = 1;
