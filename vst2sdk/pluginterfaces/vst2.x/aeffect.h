// Forwards the VST 2 interface to FST (Debian package fst-dev), a free reimplementation.
#pragma once
#include <pluginterfaces/fst/aeffect.h>
