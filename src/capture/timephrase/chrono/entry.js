// English locale only: the all-locale bundle is larger and does not load in Qt 6.4's engine.
export * from 'chrono-node/en';
