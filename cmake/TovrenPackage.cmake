# `cpack -G DEB` in the build folder makes the Debian package of what `cmake --install` puts
# under /usr. It packs the files already built and compiles nothing (see
# CMAKE_SKIP_INSTALL_ALL_DEPENDENCY in the top-level list file).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovren)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tovren")
set(CPACK_PACKAGE_CONTACT "Tovren 开发组 <tovren@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "学校办公室的毕业生信息管理与毕业证书打印程序")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "在表格中管理毕业生信息, 用可视报表设计器设计证书模板, 预览并打印毕业证书。\n"
    "数据保存在 SQLite 文件或 PostgreSQL 服务器中, 可以导入 Excel 名单和旧的 Jet 数据库。")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# Libraries the executable links come from dpkg-shlibdeps; these are loaded at run time
# instead: the database drivers, the SVG icons, the toolkit's Chinese texts, and the faces
# the fonts configuration maps the templates' fonts to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6sql6-psql, libqt6svg6, qt6-translations-l10n, fonts-liberation, fonts-arphic-gbsn00lp, fonts-noto-cjk, fonts-hanazono")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
