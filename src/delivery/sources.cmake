target_sources(core PRIVATE
)
