return {};
