#include "fakes/fake_services.h"
