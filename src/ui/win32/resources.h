// The identifiers of the native window program's resources.
#pragma once

#define kIconResource 1
#define kBannerResource 101
