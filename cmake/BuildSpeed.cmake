# A fresh set-up compiles every file once on a small machine; these settings
# keep that short. Each can be switched off for a build of its own, e.g.
#   cmake -B build-plain -DZENDRIK_UNITY_BUILD=OFF -DZENDRIK_PCH=OFF
# which also shows whether every file includes what it uses.

# Unity builds: the sources of a target are compiled in batches, so headers
# and the inline code of Qt's containers are parsed and optimised once per
# batch instead of once per file. Names of one file must therefore not clash
# with those of another file of the same target: file-local helpers live in
# a namespace named after their file or class.
option(ZENDRIK_UNITY_BUILD "Compile each target's sources in batches" ON)
set(ZENDRIK_UNITY_BATCH_SIZE 12 CACHE STRING "Sources per unity batch")
if(ZENDRIK_UNITY_BUILD)
    set(CMAKE_UNITY_BUILD ON)
    set(CMAKE_UNITY_BUILD_BATCH_SIZE ${ZENDRIK_UNITY_BATCH_SIZE})
    # In a batch every file is an included one, so GCC would warn about each
    # test fixture in an anonymous namespace as if it were in a header.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(-Wno-subobject-linkage)
    endif()
endif()

# Precompiled headers: the standard library and the Qt headers most files
# use, built once per kind of target and shared by the targets of that kind
# (zendrik_precompile below).
option(ZENDRIK_PCH "Precompile the standard library and Qt headers" ON)

# A faster linker when Debian's mold or lld is installed (scripts/install-deps.sh
# installs mold); every test program links the whole static core and Qt.
if(NOT ZENDRIK_LINKER)
    find_program(ZENDRIK_MOLD mold)
    find_program(ZENDRIK_LLD ld.lld)
    if(ZENDRIK_MOLD)
        set(ZENDRIK_LINKER mold)
    elseif(ZENDRIK_LLD)
        set(ZENDRIK_LINKER lld)
    else()
        set(ZENDRIK_LINKER default)
    endif()
    set(ZENDRIK_LINKER ${ZENDRIK_LINKER} CACHE STRING "Linker: mold, lld or default")
endif()
if(NOT ZENDRIK_LINKER STREQUAL "default")
    add_link_options(-fuse-ld=${ZENDRIK_LINKER})
endif()

# ccache and precompiled headers: the compiler reads the header's binary
# image, which ccache can only take into account with these allowances.
if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache" AND ZENDRIK_PCH)
    set(CMAKE_CXX_COMPILER_LAUNCHER
        env CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        ${CMAKE_CXX_COMPILER_LAUNCHER})
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(-fpch-preprocess)
    elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        add_compile_options("SHELL:-Xclang -fno-pch-timestamp")
    endif()
endif()

# The headers of each kind of target. The core library builds its header
# itself; every other kind has a small target of its own that builds the
# header with only what the kind's targets all link (ZENDRIK_PCH_LINK_...),
# made where its kind is first named. GCC takes a precompiled header only
# where the compile options match and every macro it was built with is
# defined alike, so a target that defines a path of its own still shares it.
set(ZENDRIK_PCH_core
    <algorithm> <array> <cstdint> <functional> <map> <memory> <optional> <vector>
    <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QList> <QRegularExpression>
    <QString> <QStringList>)
set(ZENDRIK_PCH_widgets ${ZENDRIK_PCH_core}
    <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QGridLayout> <QGroupBox>
    <QHBoxLayout> <QLabel> <QLineEdit> <QPainter> <QPushButton> <QRadioButton> <QTimer>
    <QVBoxLayout> <QWidget>)
set(ZENDRIK_PCH_test ${ZENDRIK_PCH_core} <gtest/gtest.h> <QProcess> <QTemporaryDir>)
set(ZENDRIK_PCH_widget_test ${ZENDRIK_PCH_widgets} <gtest/gtest.h> <QProcess> <QTemporaryDir>
    <QTest> <QTableView>)
set(ZENDRIK_PCH_LINK_widgets zendrik_core zendrik_paint Qt6::Widgets Qt6::PrintSupport)
set(ZENDRIK_PCH_LINK_test zendrik_test_support GTest::gtest)
set(ZENDRIK_PCH_LINK_widget_test zendrik_ui zendrik_test_support Qt6::Test GTest::gtest)

# zendrik_precompile(KIND target...): the precompiled header of KIND (core,
# widgets, test, widget_test) for each target.
function(zendrik_precompile kind)
    if(NOT ZENDRIK_PCH)
        return()
    endif()
    if(kind STREQUAL "core")
        set(owner zendrik_core)
    else()
        set(owner zendrik_pch_${kind})
    endif()
    if(NOT TARGET ${owner})
        set(source "${CMAKE_CURRENT_BINARY_DIR}/${owner}.cpp")
        file(CONFIGURE OUTPUT "${source}" CONTENT "// Builds the precompiled header its kind of targets reuse.\n")
        add_library(${owner} OBJECT "${source}")
        target_link_libraries(${owner} PRIVATE ${ZENDRIK_PCH_LINK_${kind}})
    endif()
    get_target_property(owned ${owner} PRECOMPILE_HEADERS)
    if(NOT owned)
        target_precompile_headers(${owner} PRIVATE ${ZENDRIK_PCH_${kind}})
    endif()
    foreach(target IN LISTS ARGN)
        if(NOT target STREQUAL owner)
            target_precompile_headers(${target} REUSE_FROM ${owner})
        endif()
    endforeach()
endfunction()
