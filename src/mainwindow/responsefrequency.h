#pragma once
// The response-readout frequency box (validated by the display pass at its end).
#include "mainwindow/frequencyboxes.h"
