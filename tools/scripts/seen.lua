-- "!seen name" from the master or the access list: when the bot last saw that user, and doing what.
-- What it saw is kept in the script's data folder (Scripts/data/seen/seen), so it outlasts a restart.

local seen = {}

local function load_seen()
  local text = bot.read("seen")
  if not text then return end
  for key, name, at, what in text:gmatch("([^\t\n]+)\t([^\t\n]+)\t(%d+)\t([^\t\n]+)") do
    seen[key] = { name = name, at = tonumber(at), what = what }
  end
end

local function save_seen()
  local lines = {}
  for key, entry in pairs(seen) do
    lines[#lines + 1] = table.concat({ key, entry.name, entry.at, entry.what }, "\t")
  end
  bot.write("seen", table.concat(lines, "\n") .. "\n")
end

local function saw(name, what)
  seen[name:lower()] = { name = name, at = os.time(), what = what }
end

function on_join(name) saw(name, "joining") end
function on_talk(name) saw(name, "talking") end
function on_emote(name) saw(name, "emoting") end

-- Leaving is the last sight of a user for a while: a good moment to save.
function on_leave(name)
  saw(name, "leaving")
  save_seen()
end

function on_command(speaker, word, argument)
  if word ~= "seen" then return false end
  local name = argument:match("^%s*(%S+)")
  if not name then
    bot.whisper(speaker, "Usage: !seen name")
  elseif seen[name:lower()] then
    local entry = seen[name:lower()]
    bot.whisper(speaker, entry.name .. " was last seen " .. entry.what .. " on " ..
                os.date("%Y-%m-%d at %H:%M", entry.at) .. ".")
  else
    bot.whisper(speaker, "I have not seen " .. name .. ".")
  end
  return true
end

load_seen()
