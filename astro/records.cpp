// records.cpp - make_on_surface, make_cat_entry and make_object of the
// NOVAS 3.1 interface: the site, catalog-entry and object records.
#include <cctype>
#include <cstddef>
#include <cstring>

#include "novas.h"

namespace {

// Length of a string, counted up to `limit` characters at most: a longer
// string reads as limit + 1 and nothing past it is looked at.
std::size_t bounded_length(const char *s, std::size_t limit) {
  std::size_t n = 0;
  while (n <= limit && s[n] != '\0')
    ++n;
  return n;
}

} // namespace

extern "C" {

/*
**  make_on_surface: fill a site record.
**
**  Given:
**     latitude     double  geodetic latitude, degrees, north positive
**     longitude    double  geodetic longitude, degrees, east positive
**     height       double  height above sea level, metres
**     temperature  double  degrees Celsius
**     pressure     double  millibars
**
**  Returned:
**     obs_surface  on_surface*  the five values, stored as given (no checks)
*/
void make_on_surface(double latitude, double longitude, double height,
                     double temperature, double pressure,
                     on_surface *obs_surface) {
  obs_surface->latitude = latitude;
  obs_surface->longitude = longitude;
  obs_surface->height = height;
  obs_surface->temperature = temperature;
  obs_surface->pressure = pressure;
}

/*
**  make_cat_entry: fill a catalog entry.
**
**  Given:
**     star_name  char*   name, at most 50 characters
**     catalog    char*   catalog designation, at most 3 characters
**     star_num   long    number in the catalog
**     ra, dec    double  hours, degrees
**     pm_ra, pm_dec      proper motions, mas/yr
**     parallax   double  mas
**     rad_vel    double  radial velocity, km/s
**
**  Returned:
**     star       cat_entry*  the entry
**
**  Returned (function value):
**     short  0 everything stored
**            1 name longer than 50 characters: nothing stored
**            2 catalog longer than 3 characters: only the name stored
**
**  The lengths are measured without reading past the declared sizes, so a
**  full buffer without terminator is answered, not overrun.
*/
short int make_cat_entry(char star_name[SIZE_OF_OBJ_NAME],
                         char catalog[SIZE_OF_CAT_NAME], long int star_num,
                         double ra, double dec, double pm_ra, double pm_dec,
                         double parallax, double rad_vel, cat_entry *star) {
  if (bounded_length(star_name, SIZE_OF_OBJ_NAME - 1) > SIZE_OF_OBJ_NAME - 1)
    return 1;
  std::strcpy(star->starname, star_name);

  if (bounded_length(catalog, SIZE_OF_CAT_NAME - 1) > SIZE_OF_CAT_NAME - 1)
    return 2;
  std::strcpy(star->catalog, catalog);

  star->starnumber = star_num;
  star->ra = ra;
  star->dec = dec;
  star->promora = pm_ra;
  star->promodec = pm_dec;
  star->parallax = parallax;
  star->radialvelocity = rad_vel;
  return 0;
}

/*
**  make_object: fill an object record.
**
**  Given:
**     type       short       0 major body, 1 minor planet, 2 outside the
**                            solar system
**     number     short       body number (type 0: 1 Mercury ... 9 Pluto,
**                            10 Sun, 11 Moon; type 1: > 0; type 2: ignored)
**     name       char*       name, at most 50 characters
**     star_data  cat_entry*  catalog data, used for type 2 only (may be
**                            null: the catalog data then stay empty)
**
**  Returned:
**     cel_obj    object*     the object; first reset to type 0, number 0,
**                            empty name and empty catalog data
**
**  Returned (function value):
**     short  0 stored (the name in upper case; for type 2 the catalog entry
**              copied, the number forced to 0)
**            1 type not 0, 1 or 2 (nothing stored)
**            2 type 0 with number outside 1...11, or type 1 with number
**              <= 0 (the type stored, not the number)
**            5 name longer than 50 characters (type and number stored, name
**              left empty)
*/
short int make_object(short int type, short int number,
                      char name[SIZE_OF_OBJ_NAME], cat_entry *star_data,
                      object *cel_obj) {
  std::memset(cel_obj, 0, sizeof *cel_obj);

  if (type < 0 || type > 2)
    return 1;
  cel_obj->type = type;

  if ((type == 0 && (number < 1 || number > 11)) || (type == 1 && number <= 0))
    return 2;
  cel_obj->number = type == 2 ? 0 : number;

  if (bounded_length(name, SIZE_OF_OBJ_NAME - 1) > SIZE_OF_OBJ_NAME - 1)
    return 5;
  for (int i = 0; name[i] != '\0'; ++i)
    cel_obj->name[i] = static_cast<char>(
        std::toupper(static_cast<unsigned char>(name[i])));

  if (type == 2 && star_data != nullptr)
    cel_obj->star = *star_data;
  return 0;
}

} // extern "C"
