# The game's pictures by name, the one place a picture is named. From this list the build
# writes the header the windows and artgen include (media/art/picturenames.h, made from
# picturenames.h.in) and knows which pictures artgen paints and how they are stored.

# Painted at 1x with "@2x" and "@3x" twins, each as "<name in C++>:<file name>", in the
# order they are painted and packed.
set(TOBRINEL_PICTURES
    board:board
    ball:ball
    tile:tile
    ballSelected:ball_selected
    tileSelected:tile_selected
    results:results
    bannerGenius:banner_genius
    bannerSmart:banner_smart
    bannerStupid:banner_stupid
    blackList:blacklist
    instructions:instructions
    about:about
    tick16:tick-16
    tick32:tick-32
)
# What the main window shows as it opens: stored so that it costs no decompression.
set(TOBRINEL_PICTURES_AT_START board ball tile ballSelected tileSelected)

# The application icon, "icon-<size>", in every size a desktop asks for; a scaled screen
# takes a bigger one, so there are no twins. Only the sizes up to the window icon's largest
# go into a window's icon (and the program); the larger ones are the icon theme's.
set(TOBRINEL_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TOBRINEL_WINDOW_ICON_MAX_SIZE 64)
