#include "image_box.hpp"
