# car.exe's resources: the car icon and version information. The icon is made at build time
# from the viewer's own picture (packaging/icons, made by make-icon.sh) with ImageMagick: the
# three committed sizes as they are, and the 32 and 16 pixel ones Windows lists and menus use
# scaled down from the 48 pixel one.
find_program(CAR_IMAGEMAGICK NAMES magick convert REQUIRED)
set(icons ${PROJECT_SOURCE_DIR}/packaging/icons)
set(car_ico ${CMAKE_CURRENT_BINARY_DIR}/car.ico)
add_custom_command(OUTPUT ${car_ico}
  COMMAND ${CAR_IMAGEMAGICK} ${icons}/car-256.png ${icons}/car-128.png ${icons}/car-48.png
    ( ${icons}/car-48.png -resize 32x32 ) ( ${icons}/car-48.png -resize 16x16 ) ${car_ico}
  DEPENDS ${icons}/car-256.png ${icons}/car-128.png ${icons}/car-48.png
  COMMENT "Making car.ico from packaging/icons"
  VERBATIM)

# The copyright line as LICENSE has it, so the two never differ.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE copyright LIMIT_COUNT 1 REGEX "^Copyright ")
configure_file(${CMAKE_CURRENT_LIST_DIR}/car.rc.in ${CMAKE_CURRENT_BINARY_DIR}/car.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/car.rc PROPERTIES OBJECT_DEPENDS ${car_ico})
target_sources(car PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/car.rc)
