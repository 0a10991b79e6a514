#!/usr/bin/env bash
# Installs what building, testing and running the tool need on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# Checking the package: lintian, the desktop entry and metainfo validators, bash completion.
$SUDO apt-get install -y -qq --no-install-recommends \
    lintian desktop-file-utils appstream bash-completion >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends \
    build-essential cmake pkg-config \
    googletest libgtest-dev libgmock-dev libbenchmark-dev \
    qt6-base-dev qt6-multimedia-dev libqt6multimedia6 \
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n \
    xvfb xauth fonts-wqy-microhei fonts-dejavu-core \
    xdg-utils \
    clang libclang-rt-14-dev \
    libsndfile1-dev libsoxr-dev libebur128-dev libssl-dev libcli11-dev sox \
    libgensio-dev ser2net espeak-ng >/dev/null
