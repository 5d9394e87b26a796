# Where an install puts the programs' files (GNU layout beneath the prefix), and the same folders
# seen from the installed programs' folder, which is how the programs find them: relative, so
# any prefix or staging folder works. The build folder keeps the files beside the programs.
set(VELLUM_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/quor-vellum)
set(VELLUM_MODULE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/quor-vellum)
foreach(dir IN ITEMS CMAKE_INSTALL_BINDIR VELLUM_DATA_INSTALL_DIR VELLUM_MODULE_INSTALL_DIR)
  if(IS_ABSOLUTE "${${dir}}")
    message(FATAL_ERROR "${dir} must be relative to the prefix so that a moved install still works")
  endif()
endforeach()
file(RELATIVE_PATH VELLUM_DATA_FROM_PROGRAM /${CMAKE_INSTALL_BINDIR} /${VELLUM_DATA_INSTALL_DIR})
file(RELATIVE_PATH VELLUM_MODULES_FROM_PROGRAM /${CMAKE_INSTALL_BINDIR} /${VELLUM_MODULE_INSTALL_DIR})

# The name of the launcher, the icon and the software-centre entry; the main window names it too,
# so that the desktop shows that icon for it.
set(VELLUM_APP_ID org.quorvellum.vellum)
