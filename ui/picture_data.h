#pragma once

// The picture box's picture: the whole icon file ui/picture.ico, one
// 128x128 32-bit image with its mask.
extern const unsigned char kPictureIcon[];
extern const unsigned kPictureIconSize;
