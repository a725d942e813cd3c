#include "twips.hpp"
